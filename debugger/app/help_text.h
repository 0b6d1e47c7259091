// The texts of the help window and the About box, shared by the window and the console.
#pragma once

namespace tarnik {

extern const char* const HELP_TEXT;
extern const char* const ABOUT_TITLE;
extern const char* const ABOUT_VERSION;
extern const char* const ABOUT_COPYRIGHT;
extern const char* const ABOUT_WEB;

} // namespace tarnik
