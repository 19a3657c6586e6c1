#pragma once
// The application object. Every event handler of the program runs inside
// notify(); an exception it lets out is written to the error log and
// swallowed, so it never crosses the event loop and the program goes on.

#include <QApplication>

class ZpApplication : public QApplication {
public:
    ZpApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
