#pragma once
// The shell's desktop list view, reached from our process. List-view messages
// that carry pointers get buffers the shell's process can read and write:
// the Windows 95/98 shared memory region where the system grants it, memory
// allocated inside the shell's process otherwise, with the structures laid
// out for that process's bitness.
#include "desktop/DesktopIcons.h"
#include "desktop/ListViewLayout.h"
#include "platform/win32/Handles.h"

#include <memory>

// "Progman" titled "Program Manager", its first child, that child's first
// child; where that is no list view (Windows 7 and later move it), the
// SysListView32 under the SHELLDLL_DefView of the first top-level WorkerW
// window that has one. Null when neither exists.
HWND FindDesktopListViewWindow();

// Where the list view's buffers live and how its structures are laid out.
class TListViewProcess {
public:
    explicit TListViewProcess(HWND view);
    TListViewProcess(const TListViewProcess&) = delete;
    TListViewProcess& operator=(const TListViewProcess&) = delete;

    TProcessBitness Bitness() const { return bitness_; }
    // True when the buffers come from the Windows 95/98 shared region.
    bool Shared() const { return !process_; }
    HANDLE Process() const { return process_.Get(); }

private:
    win::UniqueKernelHandle process_;
    TProcessBitness bitness_;
};

// One block of memory the list view's process can read and write, released
// when the owner goes (also when an error ends the message early).
class TListViewBuffer {
public:
    TListViewBuffer(TListViewProcess& process, size_t size);
    ~TListViewBuffer();
    TListViewBuffer(const TListViewBuffer&) = delete;
    TListViewBuffer& operator=(const TListViewBuffer&) = delete;

    // The address as the list view's process sees it.
    uint64_t Address() const { return reinterpret_cast<uintptr_t>(block_); }
    LPARAM Param() const { return reinterpret_cast<LPARAM>(block_); }
    void Write(const void* data, size_t size, size_t offset = 0);
    void Read(void* data, size_t size, size_t offset = 0) const;

private:
    TListViewProcess& process_;
    void* block_ = nullptr;
    size_t size_;
};

class TWinDesktopListView : public IDesktopListView {
public:
    explicit TWinDesktopListView(HWND view);
    int ItemCount() override;
    std::string ItemText(int index) override;
    bool ItemPosition(int index, TIconData& position) override;
    int FindItem(const std::string& label) override;
    void SetItemPosition(int index, uint32_t packed) override;

private:
    HWND view_;
    TListViewProcess process_;
    // The label buffer, kept from the first label read until this object goes.
    std::unique_ptr<TListViewBuffer> label_;
};

class TWinDesktop : public IDesktop {
public:
    std::unique_ptr<IDesktopListView> FindDesktopListView() override;
};
