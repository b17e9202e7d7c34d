// The language of the installation and its messages (language.cpp).
#ifndef SETUP_LANGUAGE_H
#define SETUP_LANGUAGE_H

// Steps 4 to 6 of the main sequence: the message library named by
// LoadMsgModule fills the message table and stays loaded until the end.
int BindSetupMessages();

#endif
