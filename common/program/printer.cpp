#include "common/program/printer.h"

#include "common/program/program.h"

int startPrinting(Printer& printer)
{
    printer.job_ = {};
    ensureRuntime();
    printer.started_ = interaction().printerAvailable();
    return printer.started_ ? 1 : 0;
}

void printTextLine(Printer& printer, const Text& text)
{
    if (printer.started_)
        printer.job_.lines.push_back({text, printer.fontSize});
}

bool endPrinting(Printer& printer)
{
    if (!printer.started_)
        return false;
    printer.started_ = false;
    printer.job_.leftMargin = printer.leftMargin;
    printer.job_.topMargin = printer.topMargin;
    ensureRuntime();
    return interaction().printText(printer.job_);
}
