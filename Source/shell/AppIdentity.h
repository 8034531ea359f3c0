#pragma once

// The program's name, version and desktop identity, set on the application object
// before any window exists. The window title and the About box read them back.
void applyApplicationIdentity();

// The desktop-entry and AppStream id; the icon is installed under the same name.
inline constexpr const char *applicationId = "org.tolvanmere.Tolvanmere";
