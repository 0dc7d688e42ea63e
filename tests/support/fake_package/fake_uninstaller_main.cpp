// The fake uninstaller; see fake_child.h for what it does and its script.
#include "fake_child.h"

int main(int argc, char** argv) { return Fake::ChildMain(argc, argv, Fake::Role::Uninstaller); }
