#pragma once
// Qt's own texts (the standard buttons of message boxes and the text-input box, the
// context menu of a text box) in Japanese, as a Japanese desktop writes them.

class QCoreApplication;

// Installs the Japanese translation of Qt's base texts from Qt's translations folder.
// Returns false where it is not installed; the texts then stay in English.
bool loadQtTranslation(QCoreApplication& app);
