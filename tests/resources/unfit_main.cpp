// A program linked against the shared C++ run time, so that it imports a DLL which Windows
// does not ship.
#include <iostream>

int main() {
  std::cout << "unfit\n";
  return 0;
}
