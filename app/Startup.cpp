// SPDX-License-Identifier: MIT
#include "app/Startup.h"

#include "app/Application.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "platform/ErrorBox.h"

int Startup::run(int &argc, char **argv)
{
    // The application object takes its title from the executable's name.
    Application app(argc, argv);
    TForm1 form1;
    TForm2 form2;
    form1.setAboutWindow(&form2);
    showMainWindow(form1);
    // Closing the main window, the only visible one, ends the loop.
    return app.exec();
}

void Startup::showMainWindow(TForm1 &form)
{
    ErrorBox::setOwner(&form);
    form.show();
    form.activateWindow();
}
