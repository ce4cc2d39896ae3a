#pragma once
// Qt's own texts and dates in Russian, whatever the desktop's language.

// Installs Qt's Russian translation (standard buttons, file dialogs, edit menus) from the folder of
// Qt's translations, with the names of file kinds that it lacks ("Папка"), and makes Russian Qt's
// default locale (month and day names of its calendars).
// Without the translation file Qt keeps its English texts; that is no error. True when the
// translation was installed.
bool UseRussianQtTexts();
