// src/app/main.cpp — the station program: start-up, the main menu, shut-down.
// Until the start-up sequence is in place it only reports that.
#include <cstdio>

int main(int argc, char** argv) {
  const char* station = argc > 1 ? argv[1] : "01";
  std::printf("ZELMORAN, stanowisko %s: program w budowie, dostępne jest narzędzie zelmoran-tool.\n",
              station);
  return 0;
}
