#pragma once
// Qt's own texts in Hungarian: file dialogs, context menus, standard buttons, the print
// preview.

class QCoreApplication;

// Loads Qt's Hungarian translation into the application; false when the translation files
// are not installed.
bool installHungarianTranslations(QCoreApplication *app);
