#include "help/gestor.h"

#include <algorithm>
#include <utility>

namespace brisolt {

GestorAyuda::~GestorAyuda() {
    // Moved out first: a viewer's ShutDown may call back into Release.
    auto visores = std::move(visores_);
    visores_.clear();
    for (auto& r : visores) r.visor->ShutDown();
}

IHelpManager* GestorAyuda::RegisterViewer(std::shared_ptr<ICustomHelpViewer> viewer) {
    if (!viewer) return nullptr;
    const std::int32_t id = ++siguienteId_;
    visores_.push_back({id, viewer});
    viewer->NotifyID(id);
    return this;
}

void GestorAyuda::Release(std::int32_t viewerId) {
    std::erase_if(visores_, [viewerId](const Registrado& r) { return r.id == viewerId; });
}

void GestorAyuda::AssignHelpSelector(std::weak_ptr<IHelpSelector> selector) {
    selector_ = std::move(selector);
}

bool GestorAyuda::ShowHelp(const std::string& keyword, const std::string& helpFile) {
    archivo_ = helpFile;
    // Each entry remembers which viewer offered it, so the chosen one shows it.
    ListaCadenas cadenas;
    std::vector<std::shared_ptr<ICustomHelpViewer>> duenos;
    for (auto visores = visores_; auto& r : visores) {
        if (r.visor->UnderstandsKeyword(keyword) <= 0) continue;
        for (auto& c : r.visor->GetHelpStrings(keyword)) {
            cadenas.push_back(std::move(c));
            duenos.push_back(r.visor);
        }
    }
    if (cadenas.empty()) return false;
    int elegida = 0;
    if (cadenas.size() > 1) {
        if (auto selector = selector_.lock()) elegida = selector->SelectKeyword(cadenas);
    }
    if (elegida < 0 || static_cast<std::size_t>(elegida) >= cadenas.size()) return false;
    duenos[elegida]->ShowHelp(cadenas[elegida]);
    return true;
}

bool GestorAyuda::ShowContextHelp(ContextoAyuda context, const std::string& helpFile) {
    archivo_ = helpFile;
    // Offered in registration order; the first viewer that understands it takes it.
    for (auto visores = visores_; auto& r : visores) {
        auto* extendido = dynamic_cast<IExtendedHelpViewer*>(r.visor.get());
        if (extendido && extendido->UnderstandsContext(context, helpFile)) {
            extendido->DisplayHelpByContext(context, helpFile);
            return true;
        }
    }
    return false;
}

bool GestorAyuda::ShowTopicHelp(const std::string& topic, const std::string& helpFile) {
    archivo_ = helpFile;
    for (auto visores = visores_; auto& r : visores) {
        auto* extendido = dynamic_cast<IExtendedHelpViewer*>(r.visor.get());
        if (extendido && extendido->UnderstandsTopic(topic)) {
            extendido->DisplayTopic(topic);
            return true;
        }
    }
    return false;
}

bool GestorAyuda::ShowTableOfContents() {
    std::vector<std::pair<std::string, std::shared_ptr<ICustomHelpViewer>>> capaces;
    for (auto& r : visores_)
        if (r.visor->CanShowTableOfContents())
            capaces.emplace_back(r.visor->GetViewerName(), r.visor);
    if (capaces.empty()) return false;
    std::size_t elegido = 0;
    if (capaces.size() > 1) {
        std::stable_sort(capaces.begin(), capaces.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        auto selector = selector_.lock();
        if (selector) {
            ListaCadenas nombres;
            for (auto& c : capaces) nombres.push_back(c.first);
            const int i = selector->TableOfContents(nombres);
            if (i < 0 || static_cast<std::size_t>(i) >= capaces.size()) return false;
            elegido = static_cast<std::size_t>(i);
        }
    }
    auto visor = capaces[elegido].second;
    visor->ShowTableOfContents();
    return true;
}

bool GestorAyuda::Hook(VentanaId ventana, const std::string& helpFile, unsigned comando,
                       std::uintptr_t datos) {
    ventana_ = ventana;
    switch (comando) {
        case kHelpContext:
            return ShowContextHelp(static_cast<ContextoAyuda>(datos), helpFile);
        case kHelpContents:
            archivo_ = helpFile;
            return ShowTableOfContents();
        default:
            return false;
    }
}

}  // namespace brisolt
