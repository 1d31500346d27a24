// Program version: the file version is what the program compares with the one it stored in the
// registry, so every release changes it.
#pragma once
#define QUORVEX_VERSION_NUMBERS 1,0,0,0
#define QUORVEX_VERSION_TEXT "1.0.0.0"
