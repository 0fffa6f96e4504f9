#include <cstdio>

int main() {
  std::puts("zintar-plovic-editor: the user interface is not built yet.");
  return 0;
}
