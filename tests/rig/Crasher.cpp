// Ends with an access violation, for the test that a crashing program never waits on a dialog.
int main()
{
    volatile int* nowhere = nullptr;
    return *nowhere;
}
