// The compiled-in resources of the panel: every picture under ":/Resource/" (also reached
// as ":Resource/..."), the application icon and the notice text ":/Resource/LICENSE.txt".
//
// Linking the `resources` library is enough: the library forces its resource tree into the
// executable and registers it during static initialisation, before main(). The function
// below registers it explicitly as well; calling it again, or after the automatic
// registration, does nothing.
#pragma once

void olvaneInitResources();
