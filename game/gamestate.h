#pragma once
// The state one run of the game shares between its screens: the main window's game state
// (the player, the chosen profession, the activity masks), the two files the career sheet
// shows, and the wage inputs the salary screens work from. Screens read and write it here
// instead of reaching into each other.

#include <QMap>
#include <QString>
#include <QtGlobal>

// Page indexes of the main window's page control.
enum MainPage { PageNev = 0, PageHaz, PageElelmiszer, PageRuhazkodas, PageKozlekedes, PageHobbi, PageSzorakozas };

// The four deductions the payroll exercise had paid right, and their total: the exercise
// hands them to the income calculator as solved answers.
struct SolvedDeductions {
    qint64 taxAdvance = 0;
    qint64 health = 0;
    qint64 employee = 0;
    qint64 pension = 0;
    // In a year other than 2010: the calculator's fields the exercise solved, by number
    // (the 2010 amounts above are then unused).
    QMap<int, qint64> figures;
    qint64 total() const { return taxAdvance + health + employee + pension; }
};

struct GameState {
    // Main window.
    int HobbyMask = 0;           // bit k-1: the hobby with key k is chosen
    int EntertainmentMask = 0;   // bit k-1: the entertainment with key k is chosen
    int JobKey = 0;              // profession code 1..30, 0 before a choice
    QString PlayerName;          // at most 30 characters
    bool NewGame = false;
    qint64 LastBalance = 0;      // monthly balance of the last family budget check

    // Profession choice: the picture and the career sheet of the profession clicked last.
    QString ProfilePicturePath;
    QString ProfileSheetPath;

    // Salary: the gross wage G, the number of children N and the spouse's net income P,
    // as the income calculator last read them from "ber.txt".
    qint64 G = 0;
    int N = 0;
    qint64 P = 0;
};
