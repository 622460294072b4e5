#pragma once
// The designed surfaces of the setup screen: the background, and the pictures down the side of the pages.
#include "app/screen/GradPanHost.h"

// A gradient from blue at the middle to black at the edges, with a designed picture ready for the picture
// styles when the configuration names none.
void ShowDesignedBackground(TGradPanHost& screen);
// A calm top-to-bottom gradient in the background's blues.
void ShowSidePicture(TGradPanHost& side);
