// The mark of this system's own files in the Windows folder: the uninstaller
// and the message libraries carry it in their version record, so that setup
// can tell them from another program's files of the same name before it
// replaces one. Resource scripts include this header too (#defines only).
#ifndef PLATFORM_COMPONENT_H
#define PLATFORM_COMPONENT_H

// The version record's string that names the component, and its values.
#define COMPONENT_KEY         "SetupComponent"
#define COMPONENT_UNINSTALLER "uninstaller"
#define COMPONENT_MSG_LIBRARY "message library"

// The components' version, as fixed numbers and as the record's text.
#define COMPONENT_VERSION      1,0,0,0
#define COMPONENT_VERSION_TEXT "1.0.0.0"

#endif
