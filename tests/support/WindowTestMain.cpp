// The main of the test executables that run the console's code in their own
// process, each in a folder of its own. What the code under test writes
// outside that folder goes to places of the executable's own as well, so
// such executables run side by side:
// - HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE are, for this process only,
//   keys under the real HKEY_CURRENT_USER, made empty at the start of the run
//   and removed at its end (the product key, the Run entry, the mail
//   client's dialog setting). HKEY_CLASSES_ROOT stays the real one, since
//   the system's own components look their classes up there, and programs
//   the tests start see the real registry.
// - The windows are on a desktop of its own, and so are the programs the
//   tests start: a window looked for by class or title (the mail client's)
//   and the foreground window are the executable's own.
// - The temporary folder is the folder's "temp" (the logo's file there is
//   named after the second it is written in).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH];
    std::string folder(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return folder.erase(folder.find_last_of('\\'));
}

std::string FolderName() {
    const std::string folder = ProgramFolder();
    return folder.substr(folder.find_last_of('\\') + 1);
}

// One run's registry: the keys the predefined roots point at while it lives.
class PrivateRegistry {
public:
    // The keys are named after the program's folder, which is the test's own.
    PrivateRegistry() : path_(std::string("Software\\Test registries\\") + FolderName()) {
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
        ready_ = Create(path_ + "\\user", &user_) && Create(path_ + "\\machine", &machine_) &&
                 RegOverridePredefKey(HKEY_CURRENT_USER, user_) == ERROR_SUCCESS &&
                 RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_) == ERROR_SUCCESS;
    }
    ~PrivateRegistry() {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            RegOverridePredefKey(root, nullptr);
        }
        for (HKEY key : {machine_, user_}) {
            if (key != nullptr) {
                RegCloseKey(key);
            }
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    }
    PrivateRegistry(const PrivateRegistry&) = delete;
    PrivateRegistry& operator=(const PrivateRegistry&) = delete;

    bool Ready() const { return ready_; }
    const std::string& Path() const { return path_; }

private:
    static bool Create(const std::string& path, HKEY* key) {
        return RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key, nullptr) ==
               ERROR_SUCCESS;
    }

    std::string path_;
    HKEY user_ = nullptr;
    HKEY machine_ = nullptr;
    bool ready_ = false;
};

// The console is single-threaded, so the thread's desktop is the process's.
bool UseOwnDesktop() {
    HDESK desktop = CreateDesktopA(FolderName().c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    return desktop != nullptr && SetThreadDesktop(desktop);
}

bool UseOwnTemporaryFolder() {
    const std::string temp = ProgramFolder() + "\\temp";
    CreateDirectoryA(temp.c_str(), nullptr);
    return GetFileAttributesA(temp.c_str()) != INVALID_FILE_ATTRIBUTES &&
           SetEnvironmentVariableA("TEMP", temp.c_str()) && SetEnvironmentVariableA("TMP", temp.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const PrivateRegistry registry;
    if (!registry.Ready()) {
        std::fprintf(stderr, "cannot point the registry roots at HKEY_CURRENT_USER\\%s\n", registry.Path().c_str());
        return 1;
    }
    if (!UseOwnDesktop()) {
        std::fprintf(stderr, "cannot open a desktop named %s\n", FolderName().c_str());
        return 1;
    }
    if (!UseOwnTemporaryFolder()) {
        std::fprintf(stderr, "cannot use a temporary folder in %s\n", ProgramFolder().c_str());
        return 1;
    }
    return RUN_ALL_TESTS();
}
