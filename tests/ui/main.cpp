// The Windows test runner: one application object, titled as the program, for all tests.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>

#include "toolkit/application.h"

int main(int argc, char** argv) {
    TApplication application;
    application.Initialize();
    application.SetTitle(L"Velkari");
    doctest::Context context(argc, argv);
    return context.run();
}
