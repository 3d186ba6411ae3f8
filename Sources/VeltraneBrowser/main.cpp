#include <cstdio>

int main()
{
    std::fputs("Veltrane: the application window is not built yet; only the libraries and tests exist so far.\n", stderr);
    return 1;
}
