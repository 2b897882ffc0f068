#include "app/Startup.h"

#include "app/Application.h"
#include "app/Unit1.h"
#include "app/Unit2.h"

int Startup::run(int &argc, char **argv)
{
    // The application object takes its title from the executable's name.
    Application app(argc, argv);
    TForm1 form1;
    TForm2 form2;
    form1.setAboutWindow(&form2);
    form1.show();
    // Closing the main window, the only visible one, ends the loop.
    return app.exec();
}
