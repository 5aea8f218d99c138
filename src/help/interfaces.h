#pragma once
// The help system's contracts: viewers register with the help manager, which
// routes each request (a keyword, a topic, a context, the table of contents)
// to the viewer that understands it, asking a selector when several could.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace brisolt {

// A window as the windowing system names it (a window handle); 0 is none.
using VentanaId = std::uintptr_t;

// A help context number, as a control carries it.
using ContextoAyuda = std::int32_t;

// Help strings: each entry names its viewer before the first ":".
using ListaCadenas = std::vector<std::string>;

// What a viewer may ask of the manager that registered it.
class IHelpManager {
  public:
    virtual ~IHelpManager() = default;
    // The window that made the latest request (the caller of the help control).
    virtual VentanaId GetHandle() const = 0;
    // The help file named in the latest request; empty when it named none.
    virtual std::string GetHelpFile() const = 0;
    // The application's current help file, for requests that name none.
    virtual std::string GetApplicationHelpFile() const = 0;
    // Forgets the viewer registered under this ID.
    virtual void Release(std::int32_t viewerId) = 0;
};

class ICustomHelpViewer {
  public:
    virtual ~ICustomHelpViewer() = default;
    virtual std::string GetViewerName() = 0;
    // How many help strings this viewer offers for the keyword (0: none).
    virtual int UnderstandsKeyword(const std::string& helpString) = 0;
    // Returned by value: the caller owns the list.
    virtual ListaCadenas GetHelpStrings(const std::string& helpString) = 0;
    virtual bool CanShowTableOfContents() = 0;
    virtual void ShowTableOfContents() = 0;
    virtual void ShowHelp(const std::string& helpString) = 0;
    virtual void NotifyID(std::int32_t viewerId) = 0;
    // The manager is going away or the program closes its help windows.
    virtual void SoftShutDown() = 0;
    // As SoftShutDown, and the viewer forgets its manager.
    virtual void ShutDown() = 0;
};

class IExtendedHelpViewer : public ICustomHelpViewer {
  public:
    virtual bool UnderstandsTopic(const std::string& topic) = 0;
    virtual void DisplayTopic(const std::string& topic) = 0;
    virtual bool UnderstandsContext(ContextoAyuda context, const std::string& helpFile) = 0;
    virtual void DisplayHelpByContext(ContextoAyuda context, const std::string& helpFile) = 0;
};

// Chooses among viewers when more than one could answer. Positions count from 0;
// -1 means none.
class IHelpSelector {
  public:
    virtual ~IHelpSelector() = default;
    virtual int SelectKeyword(const ListaCadenas& keywords) = 0;
    virtual int TableOfContents(const ListaCadenas& contents) = 0;
};

// Consulted by the WinHelp viewer before it acts on a request.
class IWinHelpTester {
  public:
    virtual ~IWinHelpTester() = default;
    virtual bool CanShowALink(const std::string& aLink, const std::string& fileName) = 0;
    virtual bool CanShowTopic(const std::string& topic, const std::string& fileName) = 0;
    virtual bool CanShowContext(ContextoAyuda context, const std::string& fileName) = 0;
    virtual ListaCadenas GetHelpStrings(const std::string& aLink) = 0;
    virtual std::string GetHelpPath() = 0;
    virtual std::string GetDefaultHelpFile(const std::string& name) = 0;
};

// The application's side of the help system.
class IHelpSystem {
  public:
    virtual ~IHelpSystem() = default;
    // Each returns whether some viewer took the request.
    virtual bool ShowHelp(const std::string& keyword, const std::string& helpFile) = 0;
    virtual bool ShowContextHelp(ContextoAyuda context, const std::string& helpFile) = 0;
    virtual bool ShowTableOfContents() = 0;
    virtual bool ShowTopicHelp(const std::string& topic, const std::string& helpFile) = 0;
    // The selector is not owned: it may go away before the help system does.
    virtual void AssignHelpSelector(std::weak_ptr<IHelpSelector> selector) = 0;
    // An old-style help command (1 a context, 3 the contents) from a window.
    virtual bool Hook(VentanaId ventana, const std::string& helpFile, unsigned comando,
                      std::uintptr_t datos) = 0;
    // Returns the manager the viewer will talk to, and tells the viewer its ID.
    virtual IHelpManager* RegisterViewer(std::shared_ptr<ICustomHelpViewer> viewer) = 0;
};

}  // namespace brisolt
