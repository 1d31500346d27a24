#include "core/RandomGenerator.h"

#include <ctime>
#include <mutex>

#include "platform/Types.h"

namespace {

std::mutex g_lock;
// The C runtime's starting state, for draws made before any seeding.
DWORD g_state = 1;

} // namespace

void SeedRandom()
{
    SeedRandomWith(static_cast<unsigned int>(std::time(nullptr)));
}

void SeedRandomWith(unsigned int seed)
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_state = seed;
}

int DrawRandom()
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFF);
}
