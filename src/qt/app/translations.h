#pragma once

// Qt's own texts (dialog buttons, the print and file dialogs) in the system's language, or in
// French, the program's own, when the system speaks English or a language Qt has no translation
// for.
void installToolkitTranslations();
