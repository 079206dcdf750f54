// gelmar [FILE]: the Gelmar desktop program. The application object is the
// one global instance; a file on the command line is opened at start-up.
#include "gelmar/app/GelmarApp.h"

gelmar::CGelmarApp theApp;

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}
