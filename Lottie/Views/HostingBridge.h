#pragma once
// The generic bridge between a description of a hosted widget, rebuilt by its
// application on every update, and the one widget it stands for: a plain value
// holding an ordered list of configuration closures, a sizing strategy, a
// storage value handed from one update to the next, and a factory for the
// content widget. makeHost() runs the factory once
// and wraps the widget in a HostContainer; update() then brings that same
// widget up to date by running the closures in list order, each given the
// storage of the previous update.
//
// HostContainer is the widget that outlives the descriptions: the
// MeasurementContainer that sizes the content, plus the storage the last update
// left, which the next update's closures read. It adds no Qt signals, so it carries no Q_OBJECT of its own.
//
// The bridge knows nothing about animations. Values only; the container is
// owned by its Qt parent or by whoever called makeHost(). Main thread only.

#include <functional>
#include <utility>
#include <variant>
#include <vector>

#include "Lottie/Views/MeasurementContainer.h"

namespace lottie {

template <class Content, class Storage>
class HostContainer : public MeasurementContainer {
public:
    HostContainer(Content* content, MeasurementContainerStrategy strategy, Storage storage, QWidget* parent)
        : MeasurementContainer(content, strategy, parent), storage_(std::move(storage)) {}

    Content& hostedView() const { return *static_cast<Content*>(content()); }
    // The storage of the last update.
    const Storage& storage() const { return storage_; }
    Storage exchangeStorage(Storage storage) { return std::exchange(storage_, std::move(storage)); }

private:
    Storage storage_;
};

template <class Content, class Storage = std::monostate>
struct HostingBridge {
    using Container = HostContainer<Content, Storage>;

    // What a configuration closure is given on each update.
    struct ConfigurationContext {
        // The storage of the previous update (the container already holds the new one).
        const Storage& oldStorage;
        Container& container;

        Content& view() const { return container.hostedView(); }
    };
    using Configuration = std::function<void(const ConfigurationContext&)>;

    std::vector<Configuration> configurations;
    MeasurementContainerStrategy sizing = MeasurementContainerStrategy::automatic;
    Storage storage{};
    // Makes a new content widget; called once per host.
    std::function<Content*()> makeContent;

    // Makes the content widget and its container.
    Container* makeHost(QWidget* parent = nullptr) const {
        return new Container(makeContent(), sizing, storage, parent);
    }

    // One update: the container takes this value's storage and sizing, then
    // every closure runs, first to last.
    void update(Container& container) const {
        const Storage oldStorage = container.exchangeStorage(storage);
        container.setStrategy(sizing);
        const ConfigurationContext context{oldStorage, container};
        for (const Configuration& configuration : configurations) configuration(context);
    }
};

}  // namespace lottie
