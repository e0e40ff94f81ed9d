// Every message text and title the program shows, held once.
#pragma once

constexpr const char* ErrorTitle = "Dezoduvo error";
constexpr const char* NoInputMessage = "No input file selected.";
constexpr const char* InputErrorMessage = "Input file error.";
constexpr const char* OutputErrorMessage = "Cannot write output file.";
constexpr const char* GridTooLargeMessage = "The grid is too large for this molecule and scale.";
constexpr const char* NoHomoLumoMessage = "Cannot find HOMO/LUMO";

// The window's caption, also the title of the report of an unhandled error.
constexpr const char* ApplicationTitle = "Dezoduvo";
constexpr const char* OutOfMemoryMessage = "Out of memory.";
constexpr const char* UnknownErrorMessage = "An unexpected error occurred.";
