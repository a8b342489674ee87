// Placeholder until the simulator has its first source file.
