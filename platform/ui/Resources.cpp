// The registry of declarative resources.
#include "platform/ui/Resources.h"

namespace platform {

namespace {
template <class M> const typename M::mapped_type* FindIn(const M& m, UINT id)
{
    auto it = m.find(id);
    return it == m.end() ? nullptr : &it->second;
}
} // namespace

Resources& Resources::Get()
{
    static Resources r;
    return r;
}

const DialogTemplate* Resources::FindDialog(UINT id) const
{
    return FindIn(dialogs_, id);
}
std::vector<UINT> Resources::DialogIds() const
{
    std::vector<UINT> ids;
    for (const auto& [id, t] : dialogs_)
        ids.push_back(id);
    return ids;
}

const MenuTemplate* Resources::FindMenu(UINT id) const
{
    return FindIn(menus_, id);
}
const AcceleratorTable* Resources::FindAccelerators(UINT id) const
{
    return FindIn(accels_, id);
}
const ToolBarTemplate* Resources::FindToolBar(UINT id) const
{
    return FindIn(toolbars_, id);
}

std::string Resources::FindBitmap(UINT id) const
{
    auto it = bitmaps_.find(id);
    return it == bitmaps_.end() ? std::string() : it->second;
}

std::string Resources::FindIcon(UINT id) const
{
    auto it = icons_.find(id);
    return it == icons_.end() ? std::string() : it->second;
}

void Resources::Clear()
{
    dialogs_.clear();
    menus_.clear();
    accels_.clear();
    toolbars_.clear();
    bitmaps_.clear();
    icons_.clear();
}

} // namespace platform
