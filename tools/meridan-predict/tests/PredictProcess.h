// Running the built meridan-predict from a test: the program folder the
// build made, one run of the program, temporary folders and a program folder
// of the test's own.
#pragma once

#include "TestData.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

namespace meridan::predicttest {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

inline std::size_t countOf(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + part.size()))
        ++n;
    return n;
}

// True when the folder holds nothing or does not exist.
inline bool holdsNothing(const std::string& folder)
{
    std::error_code error;
    return !fs::exists(folder, error) || fs::is_empty(folder, error);
}

inline std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    ASSERT_TRUE(out.good()) << path;
}

// A folder of the test's own, removed with everything in it at the end.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "meridan-predict-test-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path() const { return path_; }
    std::string filePath(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
};

inline std::string runFolder()
{
    return meridan::testdata::runDir().string();
}

inline std::string predictProgram()
{
    return runFolder() + "/meridan-predict";
}

// Runs program with arguments, its standard output and error caught in files.
inline Outcome run(const std::string& program, const std::vector<std::string>& arguments)
{
    const TempDir capture;
    const std::string out = capture.filePath("out"), err = capture.filePath("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    Outcome o;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        o.err = "cannot start " + program;
        return o;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    o.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    o.out = fileBytes(out);
    o.err = fileBytes(err);
    return o;
}

// A program folder of the test's own: a copy of meridan-predict beside links
// to the built engines (bin/) and the promoter library's data, so results and
// work files stay apart from every other run.
class ProgramCopy {
public:
    explicit ProgramCopy(bool withEngines = true)
    {
        program_ = folder_.filePath("meridan-predict");
        std::error_code error;
        EXPECT_TRUE(fs::copy_file(predictProgram(), program_, error)) << error.message();
        if (!withEngines) {
            fs::create_directory(folder_.filePath("bin"));
            return;
        }
        for (const char* shared : {"bin", "WM", "threshold"})
            if (fs::exists(runFolder() + "/" + shared))
                fs::create_directory_symlink(runFolder() + "/" + shared, folder_.filePath(shared));
    }
    std::string program() const { return program_; }
    std::string path(const std::string& relative) const { return folder_.filePath(relative); }

private:
    TempDir folder_;
    std::string program_;
};

} // namespace meridan::predicttest
