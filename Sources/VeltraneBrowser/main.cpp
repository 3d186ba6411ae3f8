#include "Shell/VeltraneBrowserApp.h"

int main(int argc, char *argv[])
{
    return VeltraneBrowserApp::run(argc, argv);
}
