#include "datafile_packer.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

extern char** environ;

void runTool(const std::vector<std::string>& argv, const std::string& dir) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + argv[0]);
    int status = 0;
    if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(argv[0] + " failed in " + dir);
}

std::string itemFile(int index, const std::string& stem, const std::string& extension) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "i%02d_", index);
    return prefix + stem + "." + extension;
}

void packDatafile(const std::string& target, const std::string& stagingDir, const std::vector<DatafileItem>& items) {
    std::string absoluteTarget = std::filesystem::absolute(target).string();
    std::filesystem::remove(absoluteTarget);
    // One `dat` run per object, in item order; -n0 keeps that order too.
    for (const DatafileItem& item : items) {
        std::vector<std::string> argv = {"dat", "-a", "-s1", "-n0", "-t", item.type};
        if (item.type == "BMP") argv.insert(argv.end(), {"-bpp", "32"});
        argv.insert(argv.end(), {absoluteTarget, item.file});
        runTool(argv, stagingDir);
    }
}
