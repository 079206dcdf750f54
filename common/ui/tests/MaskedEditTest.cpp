// The masked edit takes and refuses characters as its mask says, keeps the
// caret on input positions and reads outside text through the mask.
#include "common/ui/MaskedEdit.h"

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>

using namespace common;

namespace {

// Records the edit notifications it receives.
class EditParent : public CWnd {
  public:
    std::vector<UINT> codes;
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        codes.push_back(HIWORD(wParam));
        return TRUE;
    }
};

struct MaskedFixture {
    EditParent parent;
    COXMaskedEdit edit;
    explicit MaskedFixture(const std::string& mask) : edit(mask)
    {
        parent.CreateEx(0, nullptr, "P", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 200, 60), nullptr, 0);
        edit.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 180, 20), &parent, 50);
        QWidget* top = parent.GetWidget()->window();
        top->show();
        QApplication::setActiveWindow(top);
        edit.SetFocus();
        edit.SetSel(0, 0);
    }
    void Type(const std::string& text) { QTest::keyClicks(edit.GetWidget(), QString::fromStdString(text)); }
    void Key(Qt::Key key, Qt::KeyboardModifiers m = {}) { QTest::keyClick(edit.GetWidget(), key, m); }
    int Caret()
    {
        int s = 0, e = 0;
        edit.GetSel(s, e);
        return s;
    }
};

} // namespace

TEST(MaskedEdit, AcceptsAndRefusesAsTheMaskSays)
{
    struct Case {
        const char* mask;
        const char* typed;
        const char* text;  // window text after typing
        const char* input; // GetInputData
    };
    const Case cases[] = {
        {"##", "1a2", "12", "12"},          {"AA", "a!1", "a1", "a1"},
        {"??", "1ab", "ab", "ab"},          {">>", "ab", "AB", "AB"},
        {"<<", "AB", "ab", "ab"},           {"&&", "~!", "~!", "~!"},
        {"\\##", "x5", "#5", "5"}, // a key on a literal only moves the caret
        {"##-##", "1234", "12-34", "1234"}, {"##-##", "12-34", "12-34", "1234"},
        {"##", "123", "12", "12"},          {"(###)", "x9", "(9  )", "9  "},
    };
    for (const Case& c : cases) {
        MaskedFixture f(c.mask);
        f.Type(c.typed);
        EXPECT_EQ(f.edit.GetWindowText(), c.text) << c.mask << " " << c.typed;
        EXPECT_EQ(f.edit.GetInputData(), c.input) << c.mask << " " << c.typed;
    }
}

TEST(MaskedEdit, UntouchedMaskHoldsPromptsAndCaretOnFirstInput)
{
    MaskedFixture f("(###)");
    EXPECT_EQ(f.edit.GetInputData(), "   ");
    EXPECT_TRUE(f.edit.IsEmpty());
    EXPECT_TRUE(f.edit.SetPromptSymbol('_'));
    EXPECT_EQ(f.edit.GetWindowText(), "(___)");
    for (char bad : {'\0', '\r', '\n', '\x7f'})
        EXPECT_FALSE(f.edit.SetPromptSymbol(bad));
    EXPECT_EQ(f.edit.GetPromptSymbol(), '_');
    f.edit.SetSel(0, 0);
    f.Key(Qt::Key_Home);
    EXPECT_EQ(f.Caret(), 1);
}

TEST(MaskedEdit, InsertShiftsAndOverwriteReplaces)
{
    MaskedFixture f("###");
    f.Type("12");
    f.edit.SetSel(0, 0);
    f.Type("9");
    EXPECT_EQ(f.edit.GetInputData(), "912");
    f.edit.SetInsertMode(FALSE);
    f.edit.SetSel(0, 0);
    f.Type("5");
    EXPECT_EQ(f.edit.GetInputData(), "512");
    f.edit.SetSel(1, 1);
    f.Key(Qt::Key_Delete);
    EXPECT_EQ(f.edit.GetInputData(), "52 ");
    f.edit.SetSel(2, 2);
    f.Key(Qt::Key_Backspace);
    EXPECT_EQ(f.edit.GetInputData(), "5  ");
    EXPECT_EQ(f.Caret(), 1);
}

TEST(MaskedEdit, DeletingAcrossLiteralsClosesTheGap)
{
    MaskedFixture f("##:##");
    f.Type("1234");
    f.edit.SetSel(0, 2);
    f.Key(Qt::Key_Delete);
    EXPECT_EQ(f.edit.GetWindowText(), "34:  ");
}

TEST(MaskedEdit, OutsideTextDropsTheLiteralsAndFillsInputs)
{
    MaskedFixture f("####:##:##:##");
    EXPECT_EQ(f.edit.GetWindowText(), "    :  :  :  ");
    f.parent.codes.clear();
    f.edit.SetWindowText("0012:30:00:05");
    EXPECT_EQ(f.edit.GetInputData(), "0012300005");
    EXPECT_TRUE(f.parent.codes.empty()); // no change notice for a text from outside
    f.edit.SetSel(0, 0);
    f.Type("9");
    EXPECT_EQ(f.parent.codes, (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    EXPECT_TRUE(f.edit.SetInputData("99", 8, TRUE));
    EXPECT_EQ(f.edit.GetWindowText(), "9001:23:00:99"); // insert mode pushed the digits on
    EXPECT_FALSE(f.edit.SetInputData("1x2", 0, TRUE));
    EXPECT_EQ(f.edit.GetInputData().substr(0, 2), "12");
}

TEST(MaskedEdit, TimeSeparatorFollowsTheLocale)
{
    const QLocale keep;
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
    const char sep = QLocale().timeFormat(QLocale::ShortFormat).contains('.') ? '.' : ':';
    {
        MaskedFixture f("##:##");
        f.Type("1234");
        EXPECT_EQ(f.edit.GetWindowText(), std::string("12") + sep + "34");
    }
    QLocale::setDefault(keep);
}
