#pragma once
// orvane-make publish: the page command's work, then the upload queue of the remote folder
// browser run without a window against the project's FTP settings.

struct TCommandLine;

// Returns the exit status: 0 only when every queued file was stored.
int RunPublish(const TCommandLine& line);
