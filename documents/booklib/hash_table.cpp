#include "documents/booklib/hash_table.h"

#include <cstring>

#include "documents/buffers/xalloc.h"

namespace {

constexpr int kNodesPerRefill = 1000;

// Nodes are carved from blocks of a thousand and recycled through a list.
HashNode* g_freeNodes = nullptr;

HashNode* TakeNode() {
  if (g_freeNodes == nullptr) {
    auto* block = static_cast<HashNode*>(xcalloc(kNodesPerRefill, sizeof(HashNode)));
    for (int i = 0; i < kNodesPerRefill; ++i) {
      block[i].next = g_freeNodes;
      g_freeNodes = &block[i];
    }
  }
  HashNode* node = g_freeNodes;
  g_freeNodes = node->next;
  node->next = nullptr;
  return node;
}

void ReturnNode(HashNode* node) {
  node->next = g_freeNodes;
  g_freeNodes = node;
}

void Check(const HashTable* table) {
  if (table == nullptr || table->magic != kHashTableMagic) fatal_error("Hash table is invalid.\n");
}

HashNode** Find(const HashTable* table, const char* key) {
  HashNode** link = &table->buckets[hash_index(table, key)];
  const int32_t length = static_cast<int32_t>(std::strlen(key));
  while (*link != nullptr &&
         ((*link)->keyLength != length || std::memcmp((*link)->key, key, length) != 0)) {
    link = &(*link)->next;
  }
  return link;
}

}  // namespace

int32_t hash_index(const HashTable* table, const char* key) {
  uint32_t sum = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(key); *p != 0; ++p) sum += *p;
  return static_cast<int32_t>(sum % static_cast<uint32_t>(table->bucketCount));
}

HashTable* hash_new(int32_t bucketCount, bool copyValues, bool freeValues) {
  auto* table = static_cast<HashTable*>(xcalloc(1, sizeof(HashTable)));
  table->bucketCount = bucketCount < 1 ? 1 : bucketCount;
  table->buckets = static_cast<HashNode**>(xcalloc(table->bucketCount, sizeof(HashNode*)));
  table->magic = kHashTableMagic;
  table->copyValues = copyValues;
  table->freeValues = freeValues;
  return table;
}

void hash_free(HashTable* table) {
  Check(table);
  for (int32_t i = 0; i < table->bucketCount; ++i) {
    for (HashNode* node = table->buckets[i]; node != nullptr;) {
      HashNode* next = node->next;
      xfree(node->key);
      if (table->freeValues) xfree(node->value);
      ReturnNode(node);
      node = next;
    }
  }
  table->magic = 0;
  xfree(table->buckets);
  xfree(table);
}

char* hash_set(HashTable* table, const char* key, const char* value) {
  Check(table);
  char* stored = table->copyValues ? xstrdup(value) : const_cast<char*>(value);
  HashNode** link = Find(table, key);
  if (*link != nullptr) {
    char* old = (*link)->value;
    (*link)->value = stored;
    return old;
  }
  HashNode* node = TakeNode();
  node->key = xstrdup(key);
  node->keyLength = static_cast<int32_t>(std::strlen(key));
  node->value = stored;
  *link = node;
  ++table->entryCount;
  return nullptr;
}

char* hash_remove(HashTable* table, const char* key) {
  Check(table);
  HashNode** link = Find(table, key);
  HashNode* node = *link;
  if (node == nullptr) return nullptr;
  *link = node->next;
  char* value = node->value;
  xfree(node->key);
  ReturnNode(node);
  --table->entryCount;
  return value;
}

const char* hash_get(const HashTable* table, const char* key) {
  Check(table);
  const HashNode* node = *Find(table, key);
  return node != nullptr ? node->value : nullptr;
}

void hash_walk(HashTable* table, int (*fn)(const char*, const char*, void*), void* context) {
  Check(table);
  for (int32_t i = 0; i < table->bucketCount; ++i) {
    for (HashNode** link = &table->buckets[i]; *link != nullptr;) {
      HashNode* node = *link;
      if (fn(node->key, node->value, context) < 0) {
        *link = node->next;
        xfree(node->key);
        if (table->freeValues) xfree(node->value);
        ReturnNode(node);
        --table->entryCount;
      } else {
        link = &node->next;
      }
    }
  }
}

const char** hash_keys(const HashTable* table) {
  Check(table);
  auto** keys = static_cast<const char**>(xcalloc(table->entryCount + 1, sizeof(char*)));
  int32_t n = 0;
  for (int32_t i = 0; i < table->bucketCount; ++i) {
    for (const HashNode* node = table->buckets[i]; node != nullptr; node = node->next) {
      keys[n++] = node->key;
    }
  }
  return keys;
}
