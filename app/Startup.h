#pragma once

// Start-up of the calculator: application object, both windows, message loop.
class Startup
{
public:
    static int run(int &argc, char **argv);
};
