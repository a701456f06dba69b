#pragma once

namespace kazutama {

// Qt's own texts (file and print dialogs, the print preview, the line edits' menu, the help widgets, the
// command line's help) in the user's language where Qt has them, and otherwise in Japanese, the language of
// every other text of the program. Call once the application object exists.
void installQtTranslations();

} // namespace kazutama
