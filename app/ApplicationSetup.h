#pragma once

// Names the running application (name, version) for the settings store and the desktop. The
// window titles stay exactly as the windows set them: no display name is added to them.
void describeApplication();
