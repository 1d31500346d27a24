// The one pseudo-random generator of the process. Every random value the program makes is drawn
// here instead of from the C runtime's rand(): that keeps its state per thread, so every
// connection thread would start from the same seed and send the same "random" bytes.
#pragma once

// Seeds with the current time in seconds; the start-up calls it once.
void SeedRandom();
// Seeds with a chosen value, so that a sequence can be repeated.
void SeedRandomWith(unsigned int seed);
// The next draw, 0 to 32767; any thread may call it, each draw advances the one shared sequence.
int DrawRandom();
