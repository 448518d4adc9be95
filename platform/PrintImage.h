#pragma once
#include <string>

class QImage;
class QPrinter;

// Prints an image on the default printer, fitted to the page with its proportions kept.
// Throws EPlatformError when no printer is installed.
void PrintImage(const QImage& image, const std::string& documentName);
// The same, on a printer the caller set up (a PDF file, for instance).
void PrintImageOn(const QImage& image, QPrinter& printer);
