#pragma once
// The printer unit: lines of text for the default printer, no dialog.
#include "common/dialogs/interaction.h"

class Printer {
public:
    explicit Printer(const Text& name) : name_(name) {}
    const Text& name() const { return name_; }
    int fontSize = 9;              // points, for the lines printed next
    int leftMargin = 0;            // millimetres
    int topMargin = 0;

private:
    friend int startPrinting(Printer&);
    friend void printTextLine(Printer&, const Text&);
    friend bool endPrinting(Printer&);
    Text name_;
    bool started_ = false;
    PrintJob job_;
};

// 1 when the job has started, 0 when no printer can take it. Lines outside
// a started job are dropped.
int startPrinting(Printer& printer);
void printTextLine(Printer& printer, const Text& text);
// Sends the job; true when the printer took it.
bool endPrinting(Printer& printer);
