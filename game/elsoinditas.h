#pragma once
// The start of an installed (or unzipped) game, before its screens are made: the
// student's own working folder (see studentfolder.h) is built on the first start, with a
// window showing the work, with the content of 2026 (of the year in the environment
// variable ZOMIR_ADOEV when it is set, e.g. 2010), and made the current folder; a stored folder alias that points
// at a folder no longer there is pointed at it.

namespace zdb { class Session; }

class QString;

// Does nothing and returns false when no content tool lies beside the program (the game
// runs from its build tree and works in the current folder). Fails (UserError) with a
// Hungarian message when the folder cannot be built.
bool prepareStudentFolder(zdb::Session &session);

// The same for programs in `programDir`, with `tool` building the folder; the tests
// give their own.
bool prepareStudentFolder(zdb::Session &session, const QString &programDir, const QString &tool);
