#pragma once

#include <QString>

// An exclusive hold on the profile for one step of a program: while it lives,
// no other program (and no other thread) holding a ProfileLock on the same
// profile runs its step. It is an advisory flock on "<profile>.lock-step", so
// it ends with the process, however that ends. Taking it again on the same
// thread while held nests and does not wait. Release it on the thread that
// took it.
class ProfileLock {
public:
    // Holds nothing.
    ProfileLock() = default;
    // Waits until the lock file can be locked; holds nothing when the file
    // cannot be opened.
    explicit ProfileLock(const QString& lockFilePath);
    ~ProfileLock();
    ProfileLock(ProfileLock&& other) noexcept;
    ProfileLock& operator=(ProfileLock&& other) noexcept;
    ProfileLock(const ProfileLock&) = delete;
    ProfileLock& operator=(const ProfileLock&) = delete;

    bool Held() const { return !m_path.isEmpty(); }
    void Release();

private:
    QString m_path; // empty when nothing is held
};
