#pragma once
// Qt's own file dialog, set up the same way for every file and folder dialog of the program.
class QFileDialog;

// Qt's widget dialog (never the desktop's own), with each filter named once (its description; the
// patterns still match) and a detail view in Russian whatever the desktop's locale: sizes in Russian
// ("44 байта", "1,50 кБ"), dates as the program writes them everywhere
// ("07.12.2024 10:05"), each in a column as wide as its texts. Call before the filters are set.
void SetUpFileDialog(QFileDialog& dialog);
