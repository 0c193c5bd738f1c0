#include <cstdio>

#include "voxfill/run.h"

int main() { voxfill::run(stdin); }
