#pragma once
// What a program without windows (a command-line tool, a test) sets up before its QApplication.

namespace platform {

// Chooses the platform plugin unless QT_QPA_PLATFORM names one: "offscreen" on Linux; on Windows
// "windows", or "minimal" for a program that draws no text (Windows has no offscreen plugin that
// works everywhere, and minimal has no fonts). On Linux also gives Qt a private runtime folder.
enum class Drawing { Text, NoText };
void PrepareWindowlessGui(Drawing drawing = Drawing::Text);

// Standard output and error carry the bytes written, in UTF-8: on Windows no line end becomes
// "\r\n" and a console shows Cyrillic. Nothing to do on Linux.
void UseUtf8StandardStreams();

} // namespace platform
