#pragma once
// A folder listed by a process of its own, forked for the pass: a share
// that hangs holds that process in the kernel, never a thread of Tarvo's,
// so Tarvo stays free to end at once (Esc) and the next start runs. The
// lister makes only calls that are safe in a process forked from one with
// threads (it allocates nothing), and tells each visible ordinary file
// through a pipe, 64 KiB at a time or every tenth of a second, so a slow
// share still shows its progress; Tarvo matches the names. A link or an
// entry of a file system without types costs a stat, matching or not.

#include <string>

#include "os/files.h"

namespace tarvo::posix {

// As posix::ListFiles, its pass made apart. Cancelled by goOn, it returns
// at once, what was told so far kept, and leaves the lister to end as soon
// as the system lets it.
bool ListFilesApart(const std::string& folder, const WildcardSet& patterns, NameList& names, const Files::GoOn& goOn,
                    bool* holdsFiles);

}  // namespace tarvo::posix
