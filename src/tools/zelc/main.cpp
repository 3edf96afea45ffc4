#include <iostream>

#include "tools/zelc/zelc.h"

int main(int argc, char** argv) {
  return zel::zelc::RunZelc(argc, argv, std::cout);
}
