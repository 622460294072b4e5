// The designed look of the setup screen's surfaces, and the background effect the configuration chooses.
#include "app/screen/DisplayScreen.h"
#include "app/screen/DisplayStyle.h"
#include "app/screen/ScreenSurface.h"
#include "state/Global.h"

void TDisplayScreen::PlaceDesignedLook()
{
    ShowDesignedBackground(SetupScreen);
    for (TGradPanHost* side : {&GradPan5, &GradPan6, &GradPan3, &GradPan1, &GradPan4}) ShowSidePicture(*side);
}

// A name the table does not hold leaves the effect as it is.
void TDisplayScreen::DisplayStyleChanges1Click()
{
    if (const auto effect = DisplayStyleEffect(Global.InstallSettings.DisplayStyle))
        SetupScreen.SetBackGroundEffect(*effect);
}
