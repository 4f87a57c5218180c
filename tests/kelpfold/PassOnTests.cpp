// The folder pointer bound to a stand-in target in this process: what each
// IShellFolder method clears before handing on, and what an exception in the
// target turns into.
#include "KelpfoldTestSupport.h"
#include "ShellFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using kelpfold::TShellFolderImpl;

const HRESULT kAnswer = MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_ITF, 0x123);
void* const kJunk = reinterpret_cast<void*>(0x1234);

// Answers every question with kAnswer and notes the out pointer as it came
// in; on request it fills the out pointer and then throws.
class TStandInTarget final : public IShellFolder {
public:
    bool Called = false;
    void* OutOnEntry = nullptr;
    bool Throw = false;

    STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE* out, ULONG*) override {
        return Answer(out);
    }
    STDMETHODIMP EnumObjects(HWND, SHCONTF, IEnumIDList** out) override { return Answer(out); }
    STDMETHODIMP BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void** out) override { return Answer(out); }
    STDMETHODIMP BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void** out) override { return Answer(out); }
    STDMETHODIMP CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return Answer<void>(nullptr); }
    STDMETHODIMP CreateViewObject(HWND, REFIID, void** out) override { return Answer(out); }
    STDMETHODIMP GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return Answer<void>(nullptr); }
    STDMETHODIMP GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void** out) override {
        return Answer(out);
    }
    STDMETHODIMP GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*) override { return Answer<void>(nullptr); }
    STDMETHODIMP SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD* out) override {
        return Answer(out);
    }

private:
    template <typename T>
    HRESULT Answer(T** out) {
        Called = true;
        OutOnEntry = out ? *out : nullptr;
        if (!Throw) return kAnswer;
        if (out) *out = reinterpret_cast<T*>(this);
        throw std::runtime_error("target failed");
    }
};

TEST(FolderPointerPassOn, HandsEveryQuestionToTheTargetAndAnExceptionBecomesUnexpected) {
    TStandInTarget target;
    TComPtr<TShellFolderImpl> folder(new TShellFolderImpl());
    folder->Bind(TComPtr<IShellFolder>::Share(&target));

    TQuestions q;
    for (const TQuestions::TCall& call : q.Of(folder.Get())) {
        SCOPED_TRACE(call.Name);
        target.Throw = false;
        target.Called = false;
        q.Out = kJunk;
        EXPECT_EQ(call.Run(), kAnswer);
        EXPECT_TRUE(target.Called);
        if (call.HasOut) {
            EXPECT_EQ(target.OutOnEntry, call.HandsOutObject ? nullptr : kJunk);
        }

        target.Throw = true;
        q.Out = kJunk;
        EXPECT_EQ(call.Run(), E_UNEXPECTED);
        if (call.HandsOutObject) {
            EXPECT_EQ(q.Out, nullptr);
        }
    }
    EXPECT_EQ(q.ParseMask, ULONG(SFGAO_FOLDER));
    EXPECT_EQ(q.Attributes, SFGAOF(SFGAO_FILESYSTEM));

    // Storage is never handed on.
    target.Called = false;
    q.Out = kJunk;
    EXPECT_EQ(folder->BindToStorage(q.Item, nullptr, IID_IStream, &q.Out), E_NOTIMPL);
    EXPECT_FALSE(target.Called);
    EXPECT_EQ(q.Out, nullptr);

    // A new Initialize forgets the old target even when it binds none.
    EXPECT_EQ(folder->Initialize(nullptr), S_OK);
    target.Throw = false;
    EXPECT_EQ(folder->CompareIDs(0, q.Item, q.Item), E_NOTIMPL);
    EXPECT_FALSE(target.Called);
}

} // namespace
