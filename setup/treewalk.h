// The walk of the product trees (treewalk.cpp).
#ifndef SETUP_TREEWALK_H
#define SETUP_TREEWALK_H

#include <windows.h>
#include "common/filenames.h"

// The count of the trees' files, the reader that reads ahead of the copy
// and the copy itself meet the trees' entries through this one walk, so
// that all three go through the same entries in the same order and stop
// at the same faults. The count lists the trees and keeps their listing
// (up to 4 MB of it); the reader and the copy then walk that listing and
// list nothing themselves (under Wine each listing of a folder costs five
// requests of the server). Of a listing too long to be kept the reader
// reads ahead what was kept, and the copy lists the trees afresh.
enum TreeStep {
    STEP_FOLDER,    // a folder, before its entries; the tree's root first
    STEP_FILE,      // a file
    STEP_UNLISTED,  // the folder of the last STEP_FOLDER cannot be listed
    STEP_TOO_LONG,  // a folder whose path or listing pattern does not fit
                    // PATH_CAP bytes: the walk stops after it
};
struct TreeEntry {
    const char *path;   // the source path (a name); 0 for a file whose
                        // path does not fit PATH_CAP bytes
    const char *below;  // the part of the path below the root ("" there)
    int depth;          // 0 for the root, 1 for its entries, and so on
    int first;          // the entry is its listing's first (which may be ".")
};
// The depths of a walk stay below this: every level adds at least a
// backslash and a character to a path under PATH_CAP bytes.
const int TREE_DEPTH_CAP = PATH_CAP / 2;
// Told each step: 1 to go on, 0 to stop the walk.
typedef int (*TreeVisit)(void *context, TreeStep step, const TreeEntry &entry);

enum TreeListing {
    LIST_AND_KEEP,    // the count: lists each folder, keeps what it lists
    KEPT_LISTING,     // the reader: the kept listing, as far as it was kept
    KEPT_OR_AFRESH,   // the copy: the kept listing when it is whole
};
struct TreeWalk {
    TreeVisit visit;
    void *context;
    int keep;             // the listing is kept as it is made
    int kept;             // the walk goes by the kept listing
    SIZE_T at;            // its place there
    char path[PATH_CAP];  // the current entry's path
    int rootLength;       // of the root's part of path, with its backslash
};
// A walk of the trees in the given way, each step to visit. The trees are
// then walked in their order by WalkTree; a new LIST_AND_KEEP walk first
// forgets what was kept before.
void StartTreeWalk(TreeWalk &walk, TreeListing how, TreeVisit visit, void *context);
// Walks the tree at root (a name): the root's STEP_FOLDER, then its
// entries in the listing's order, a folder's entries right after its own
// STEP_FOLDER. 1 when every step went on; WALK_UNLISTED (common/filenames.h)
// when the root itself could not be listed; 0 when a visit stopped the
// walk, after a STEP_TOO_LONG and where a kept listing was cut.
int WalkTree(TreeWalk &walk, const char *root);
// Frees the kept listing; no walk by it may be under way.
void ForgetTreeListing();

// 1 for a source file that the install leaves out (a minimal install's
// movies and textures): neither read nor copied.
int LeftOutOfInstall(const char *source);

#endif
