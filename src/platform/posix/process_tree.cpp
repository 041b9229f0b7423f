#include "process_tree.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "posix_start.h"

namespace tarvo::posix {

namespace {

// The session of a process, from /proc/<pid>/stat ("pid (name) state ppid pgrp session ..."); -1 when gone.
pid_t SessionOf(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t end = text.rfind(')');
    if (end == std::string::npos) return -1;
    std::istringstream fields(text.substr(end + 1));
    char state = 0;
    pid_t parent = 0, group = 0, session = -1;
    fields >> state >> parent >> group >> session;
    return fields ? session : -1;
}

}  // namespace

std::string ProgramNameOf(pid_t pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

void BecomeReaperOfDescendants() { prctl(PR_SET_CHILD_SUBREAPER, 1); }

namespace {

// Each thread's children: a child left behind may come to any of them.
std::set<pid_t> ChildrenOf(const std::string& process) {
    std::set<pid_t> found;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + process + "/task", error)) {
        std::ifstream children(task.path() / "children");
        for (pid_t pid; children >> pid;) found.insert(pid);
    }
    return found;
}

}  // namespace

std::set<pid_t> ChildrenNow() { return ChildrenOf("self"); }

std::vector<pid_t> DescendantsOf(pid_t pid) {
    std::vector<pid_t> found, parents{pid};
    while (!parents.empty()) {
        const pid_t parent = parents.back();
        parents.pop_back();
        for (const pid_t child : ChildrenOf(std::to_string(parent))) found.push_back(child), parents.push_back(child);
    }
    return found;
}

std::vector<pid_t> LeftBehind(const std::set<pid_t>& known) {
    std::vector<pid_t> found;
    const pid_t ownSession = getsid(0);
    for (const pid_t pid : ChildrenNow()) {
        if (known.count(pid) || StartedHere(pid)) continue;
        const pid_t session = SessionOf(pid);
        if (session >= 0 && session != ownSession) found.push_back(pid);
    }
    return found;
}

}  // namespace tarvo::posix
