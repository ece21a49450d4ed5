// String hash table of the book library: keys are copied; values are
// 8-bit strings that the table copies and frees when asked to.
#pragma once

#include <cstdint>

struct HashNode {
  HashNode* next;
  char* key;
  char* value;
  int32_t keyLength;
};

struct HashTable {
  HashNode** buckets;
  int32_t bucketCount;
  int32_t entryCount;
  int32_t magic;
  bool copyValues;
  bool freeValues;
};

constexpr int32_t kHashTableMagic = -81;

HashTable* hash_new(int32_t bucketCount, bool copyValues, bool freeValues);
void hash_free(HashTable* table);
// Stores the value; returns the value it replaced (the caller's to free
// when the table copies values), or null.
char* hash_set(HashTable* table, const char* key, const char* value);
// Takes the entry out; returns its value (the caller's from now on).
char* hash_remove(HashTable* table, const char* key);
const char* hash_get(const HashTable* table, const char* key);
// Calls fn for every entry; a negative result removes the entry.
void hash_walk(HashTable* table, int (*fn)(const char* key, const char* value, void* context),
               void* context);
// The keys, null-terminated; release the array (not the keys) with xfree.
const char** hash_keys(const HashTable* table);
// Sum of the key's bytes, unsigned, modulo the bucket count.
int32_t hash_index(const HashTable* table, const char* key);
