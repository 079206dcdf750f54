// gelmar [FILE]: the Gelmar desktop program; a file on the command line is
// opened at start-up. The application object lives in main and owns the
// program's engine: it is destroyed, writing the settings and freeing the
// engine, before the statics go, whatever their order of destruction.
#include "gelmar/app/GelmarApp.h"

int main(int argc, char** argv)
{
    gelmar::CGelmarApp app;
    return AfxWinMain(argc, argv);
}
