#include "app/SlateApp.h"

int main(int argc, char **argv)
{
    return SlateApp::run(argc, argv);
}
