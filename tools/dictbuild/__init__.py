"""Helpers of the dictionary builder (tools/build_dictionary.py)."""
