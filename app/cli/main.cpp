// glyphora-cli: the console front end of the command-line driver.
#include <cstdio>

int main()
{
    std::fputs("glyphora-cli: not built yet\n", stderr);
    return 1;
}
