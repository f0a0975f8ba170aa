#pragma once

// The rows of the collection tree, shared by its two source files.
#include "ui/sidebar/collectiontreemodel.h"

#include <algorithm>

namespace mako {

struct CollectionTreeModel::Node {
    Kind kind = Kind::collection;
    QUuid id;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
    // Collection rows only: where each request sits in the collection's list, so a row finds
    // its request without a walk through hundreds of them at every paint.
    QHash<QUuid, int> requestRows;

    Key key() const { return {kind, id}; }
    int row() const
    {
        const auto& siblings = parent->children;
        const auto found = std::ranges::find_if(
            siblings, [this](const std::unique_ptr<Node>& node) { return node.get() == this; });
        return static_cast<int>(found - siblings.begin());
    }
    const Node* collection() const
    {
        const Node* node = this;
        while (node->parent && node->parent->parent)
            node = node->parent;
        return node;
    }
};

inline size_t qHash(const std::pair<CollectionTreeModel::Kind, QUuid>& key, size_t seed = 0)
{
    return qHash(key.second, seed) ^ static_cast<size_t>(key.first);
}

} // namespace mako
