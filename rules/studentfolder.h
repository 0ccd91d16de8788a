#pragma once
// The student's own working folder of an installed (or unzipped) game. When the content
// tool lies beside the game program, the game does not ask for its database: it works in
// the student's folder, which its first start builds with that tool (database, profession
// pictures, career sheets) and later starts reuse, so stored games are kept.
//
// Where the folder is: beside the programs, in "adatok", when the marker file
// "hordozhato.txt" lies there (a portable copy on a USB stick or a share); otherwise in the
// user's own data folder, %LOCALAPPDATA%\Zomir on Windows and $XDG_DATA_HOME/zomir
// (~/.local/share/zomir) elsewhere.

#include <QString>
#include <QStringList>

namespace studentfolder {

// The marker file that makes a copy of the programs portable.
inline QString portableMarker() { return QStringLiteral("hordozhato.txt"); }

// The content tool in `programDir` (zomir-data, zomir-data.exe on Windows); empty when
// there is none, that is when the game runs from its build tree.
QString contentTool(const QString &programDir);

// The student's working folder for programs in `programDir` (see above).
QString location(const QString &programDir);

// Whether `folder` is a working folder already (it has its database folder DB).
bool isBuilt(const QString &folder);

// What a stored folder alias should become for the working folder `folder`: its DB
// folder when the alias is missing (`aliasPath` empty) or points at a folder that is
// gone (a USB stick under another drive letter); empty when the alias stays as it is.
QString aliasTarget(const QString &folder, const QString &aliasPath);

}  // namespace studentfolder
