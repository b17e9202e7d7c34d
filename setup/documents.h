// The documents and program items of the installation (documents.cpp).
#ifndef SETUP_DOCUMENTS_H
#define SETUP_DOCUMENTS_H

// The documents and program items; 0 when one of them is missing (after
// its log line; a document that cannot be copied ends setup at once).
int InstallDocuments();

#endif
