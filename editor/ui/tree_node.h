// The document's name for a tree node, for the commands that act on one.
#pragma once

#include "document/linquara_doc.h"
#include "ui/list_host.h"

inline CLinquaraDoc::TreeNode LqaDocTreeNode(int nodeType) {
    switch (nodeType) {
    case LqaNodeAddressBooks: return CLinquaraDoc::TreeNode::AddressBooks;
    case LqaNodeMachineBook: return CLinquaraDoc::TreeNode::MachineBook;
    case LqaNodeMachineFax: return CLinquaraDoc::TreeNode::MachineFax;
    case LqaNodePcFaxBook: return CLinquaraDoc::TreeNode::PcFaxBook;
    default: return CLinquaraDoc::TreeNode::None;
    }
}
