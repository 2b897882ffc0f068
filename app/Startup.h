// SPDX-License-Identifier: MIT
#pragma once

class TForm1;

// Start-up of the calculator: application object, both windows, message loop.
class Startup
{
public:
    static int run(int &argc, char **argv);

    // Shows the main window ready for typing: active, the focus in its
    // field, the owner of error boxes; also where no window manager
    // activates new windows.
    static void showMainWindow(TForm1 &form);
};
